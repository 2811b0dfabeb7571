// Freeing twice, using a freed object and freeing what belongs to another object are
// run-time errors that drop the row; the host goes on with the next row.
{
  TStringList list = new TStringList;
  TfsXMLDocument doc = new TfsXMLDocument;
  int what = GetVariable("What");
  list.Add("x");
  if (what == 1)
  {
    delete list;
    delete list;
  }
  if (what == 2)
  {
    delete list;
    list.Add("y");
  }
  if (what == 3)
    delete doc.Root;
  SetVariable("Ok", list.Count);
  delete list;
  delete doc;
}
