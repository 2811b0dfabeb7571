SetVariable("Seen", 1);
