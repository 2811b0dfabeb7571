' Drops messages seen before: the identifiers of the messages passed on are kept in a
' sorted string list for the whole run, and a row whose identifier is in it already
' is discarded.
Dim Seen As TStringList
Dim Id, Index
If Seen = nil Then
  Set Seen = New TStringList
  Seen.Sorted = True
End If
Id = GetVariable("MsgId")
If Seen.Find(Id, Index) Then
  DiscardDataPacket("repeated message " & Id)
Else
  Seen.Add(Id)
  SetVariable("Seq", Seen.Count)
End If
