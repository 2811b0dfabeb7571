#language Klingon
begin end.
