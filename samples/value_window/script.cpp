// Keeps the last five readings of every channel in string lists kept across packets
// (one list per channel, found by name in a sorted index list) and adds the lowest and
// highest reading of the window to each row.
TStringList channels;
{
  TStringList window;
  int i, index;
  float value, low, high;
  string name;
  if (channels == nil)
  {
    channels = new TStringList;
    channels.Sorted = true;
  }
  name = GetVariable("Channel");
  if (channels.Find(name, index))
    window = TStringList(channels.Objects[index]);
  else
  {
    window = new TStringList;
    channels.AddObject(name, window);
  }
  window.Add(GetVariable("Reading"));
  if (window.Count > 5)
    window.Delete(0);
  low = StrToFloat(window[0]);
  high = low;
  for (i = 1; i < window.Count; i++)
  {
    value = StrToFloat(window[i]);
    if (value < low) low = value;
    if (value > high) high = value;
  }
  SetVariable("Low", low);
  SetVariable("High", high);
  SetVariable("Window", window.Count);
}
