#Language  basicscript 
SetVariable("Seen", 1)
