' Raises an event when the pressure crosses its threshold, and logs it.
Dim p
p = GetVariable("Pressure")
If p > 5 Then
  SendEventEx("HIGH-PRESSURE", ["Pressure", p, "Station", GetVariable("Station")])
  DbgLog("pressure high at " & GetVariable("Station"), 1)
End If
