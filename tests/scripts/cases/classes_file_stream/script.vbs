' A file written through a file stream, read back, copied into a memory stream and
' loaded into a string list; the file is removed again.
Dim f As TFileStream, m As TMemoryStream, sl As TStringList, s, name
name = "classes_file_stream_" & GetVariable("N") & ".tmp"
Set f = New TFileStream(name, fmCreate)
f.Write(GetVariable("Text") & Chr(13) & Chr(10) & "second", 1000)
Delete f
Set f = New TFileStream(name, fmOpenRead Or fmShareDenyWrite)
s = ""
f.Seek(2, soFromBeginning)
f.Read(s, 3)
SetVariable("Middle", s)
Set m = New TMemoryStream
SetVariable("Copied", m.CopyFrom(f, 0))
Delete f
Set sl = New TStringList
sl.LoadFromFile(name)
SetVariable("Lines", sl.Count)
SetVariable("Second", sl.Strings(1))
Delete sl
Delete m
SetVariable("Removed", DeleteFile(name))
