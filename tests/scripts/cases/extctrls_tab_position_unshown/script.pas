{ A page control that is never shown moves its tabs to the side a packet names, its
  pages beside them, and keeps its pages and the active one; the bars keep their
  positions inside their ranges, a Min above Max raising Max. }
var
  f: TForm;
  pages: TPageControl;
  sheet: TTabSheet;
  track: TTrackBar;
  progress: TProgressBar;
  i, widest: Integer;
  margins: array[0..3] of Integer;
begin
  f := TForm.Create(nil);
  pages := TPageControl.Create(f);
  pages.Parent := f;
  for i := 1 to 2 do
  begin
    sheet := TTabSheet.Create(f);
    sheet.Caption := 'Page ' + IntToStr(i);
    sheet.PageControl := pages;
  end;
  pages.ActivePageIndex := 1;
  case GetVariable('Side') of
    0: pages.TabPosition := tpTop;
    1: pages.TabPosition := tpBottom;
    2: pages.TabPosition := tpLeft;
    3: pages.TabPosition := tpRight;
  end;
  SetVariable('Side', pages.TabPosition);
  SetVariable('Left', pages.TabPosition = tpLeft);
  SetVariable('Page', pages.ActivePage.Caption);
  SetVariable('Pages', pages.PageCount);
  track := TTrackBar.Create(f);
  track.Parent := pages.Pages[0];
  progress := TProgressBar.Create(f);
  progress.Parent := pages.Pages[1];
  { The side with the widest margin around the page is where the tabs are. }
  sheet := pages.ActivePage;
  margins[0] := sheet.Top;
  margins[1] := pages.Height - sheet.Top - sheet.Height;
  margins[2] := sheet.Left;
  margins[3] := pages.Width - sheet.Left - sheet.Width;
  widest := 0;
  for i := 1 to 3 do
    if margins[i] > margins[widest] then widest := i;
  SetVariable('Strip', widest);
  track.Position := GetVariable('Value');
  track.Min := 3;
  progress.Position := GetVariable('Value');
  progress.Max := 40;
  SetVariable('Track', IntToStr(track.Min) + '..' + IntToStr(track.Max) + ' at ' + IntToStr(track.Position));
  SetVariable('Progress', IntToStr(progress.Min) + '..' + IntToStr(progress.Max) + ' at ' + IntToStr(progress.Position));
  progress.Min := 60;
  SetVariable('Raised', IntToStr(progress.Min) + '..' + IntToStr(progress.Max) + ' at ' + IntToStr(progress.Position));
  f.Free;
end.
