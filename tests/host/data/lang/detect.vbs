SetVariable("Seen", 1)
