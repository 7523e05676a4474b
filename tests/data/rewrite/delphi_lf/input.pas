implementation
procedure Foo;
begin
  s := 'abc';
  n := 40;
end;