SetVariable("B", GetVariable("A") * 2);
