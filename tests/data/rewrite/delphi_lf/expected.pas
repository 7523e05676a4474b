implementation
procedure Foo;
begin
  s := GetValueStr(1025);//'abc'
  n := GetValueInt(1026);//40
end;