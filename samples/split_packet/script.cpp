// Splits a packet that carries three channels in one row into one row per channel.
{
  int i;
  for (i = 1; i <= 3; i++)
  {
    SetVariable("Channel", i);
    SetVariable("Reading", GetVariable("Ch" + IntToStr(i)));
    if (i < 3)
      NewRow();
  }
}
