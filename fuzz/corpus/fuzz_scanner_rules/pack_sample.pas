h
--8<--
files=*.pas *.pp *.dpr *.dpk *.lpr
case=0
str1='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/@#$
color_string=1515A3
color_comment=2008000
comment1=(*
comment1e=*)
comment2={
comment2e=}
comment3=//

--8<--

--8<--
{ sample.pas: a sorted phone book, a small example of Pascal/Delphi. }
program PhoneBook;

{$APPTYPE CONSOLE}

uses
  SysUtils, Classes;

type
  TEntry = record
    Name: string;
    Phone: string;
  end;

const
  MaxEntries = 100;

var
  Entries: array[1..MaxEntries] of TEntry;
  Count: Integer = 0;

(* Inserts an entry keeping the list sorted by name;
   returns False when the book is full. *)
function AddEntry(const AName, APhone: string): Boolean;
var
  I: Integer;
begin
  Result := Count < MaxEntries;
  if not Result then
    Exit;
  I := Count;
  while (I > 0) and (CompareText(Entries[I].Name, AName) > 0) do
  begin
    Entries[I + 1] := Entries[I];
    Dec(I);
  end;
  Entries[I + 1].Name := AName;
  Entries[I + 1].Phone := APhone;
  Inc(Count);
end;

procedure PrintBook;
var
  I: Integer;
begin
  for I := 1 to Count do
    Writeln(Format('%-20s %s', [Entries[I].Name, Entries[I].Phone]));
end;

begin
  AddEntry('Wang, Mei', '02-2345-6789');
  AddEntry('Chen, Hao', '04-2222-1111');
  AddEntry('Lin, Yu', '07-3333-4444');
  PrintBook;   // prints three lines
  Writeln('Entries: ', IntToStr(Count));
  Readln;
end.
