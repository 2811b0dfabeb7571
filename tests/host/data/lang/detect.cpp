{
  SetVariable("Seen", 1);
}
