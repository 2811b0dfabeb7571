// Describes every row as an XML document: one element per variable with its name and
// value, written to a memory stream and read back as the text of the new variable Xml.
var doc = new TfsXMLDocument;
var stream = new TMemoryStream;
var i, item, text;
doc.Root.Name = "row";
for (i = 0; i < GetVariableCount; i++) {
  item = doc.Root.Add;
  item.Name = "var";
  item.Prop["name"] = GetVariableNameByIndex(i);
  item.Prop["value"] = GetVariableByIndex(i);
}
doc.SaveToStream(stream);
stream.Position = 0;
text = "";
stream.Read(text, stream.Size);
SetVariable("Xml", text);
delete stream;
delete doc;
