' A variable's name is 8-bit text in the packet: a name the code page cannot hold
' becomes "?" characters, and the log names SetVariable as the routine that lost them.
SetVariable(GetVariable("Name"), Trim(GetVariable("Name")))
