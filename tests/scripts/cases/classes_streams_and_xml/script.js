// Memory streams read, written, sought and copied; an XML document built from the row,
// saved to a stream and read back from it; the class names of the objects.
var m = new TMemoryStream;
var dup = new TMemoryStream;
var doc = new TfsXMLDocument;
var back = new TfsXMLDocument;
var s = "";
var n;
m.Write(GetVariable("Text"), 1000);
m.Seek(-3, soFromEnd);
n = m.Read(s, 10);
SetVariable("Tail", s);
SetVariable("TailCount", n);
SetVariable("Copied", dup.CopyFrom(m, 0));
doc.Root.Name = "row";
doc.Root.Prop["text"] = GetVariable("Text");
doc.Root.Add.Name = "child";
dup.Clear;
doc.SaveToStream(dup);
dup.Position = 0;
back.LoadFromStream(dup);
SetVariable("Back", back.Root.Prop["text"] + "/" + back.Root.Items[0].Name);
SetVariable("Classes", m.ClassName + " " + doc.Root.ClassName + " " + back.ClassName);
delete m;
delete dup;
delete doc;
delete back;
