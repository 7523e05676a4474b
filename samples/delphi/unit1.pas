unit Unit1;

interface

uses SysUtils;

procedure ShowGreeting;

implementation

procedure ShowGreeting;
var
  Caption: string;
  Count: Integer;
  Mask: Integer;
begin
  Caption := 'Hello from Delphi';
  Count := 12;
  Mask := $FF;
  WriteLn(Format('%s (%d)', [Caption, Count]));
end;

end.
