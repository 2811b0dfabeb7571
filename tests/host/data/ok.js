var x = 1 + 2;
