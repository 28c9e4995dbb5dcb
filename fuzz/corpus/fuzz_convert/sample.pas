[S]
case=0
stxfile1=k1.txt
stxfile2=k2.txt
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
absolute 1C00000
abstract 1C00000
and 1C00000
array 1C00000
as 1C00000
asm 1C00000
assembler 1C00000
begin 1C00000
case 1C00000
cdecl 1C00000
class 1C00000
const 1C00000
constructor 1C00000
deprecated 1C00000
destructor 1C00000
dispinterface 1C00000
div 1C00000
do 1C00000
downto 1C00000
dynamic 1C00000
else 1C00000
end 1C00000
except 1C00000
exports 1C00000
external 1C00000
false 1C00000
file 1C00000
finalization 1C00000
finally 1C00000
for 1C00000
forward 1C00000
function 1C00000
goto 1C00000
if 1C00000
implementation 1C00000
in 1C00000
inherited 1C00000
initialization 1C00000
inline 1C00000
interface 1C00000
is 1C00000
label 1C00000
library 1C00000
mod 1C00000
nil 1C00000
not 1C00000

--8<--
Abs A00080
AnsiChar A00080
AnsiString A00080
Assign A00080
Assigned A00080
AssignFile A00080
Boolean A00080
Break A00080
Byte A00080
Cardinal A00080
Char A00080
Chr A00080
Classes A00080
Close A00080
CloseFile A00080
Continue A00080
Copy A00080
Create A00080
Currency A00080
Dec A00080
Delete A00080
Destroy A00080
Dispose A00080
Double A00080
Eof A00080
Exception A00080
Exit A00080
Extended A00080
FloatToStr A00080
Format A00080
Free A00080
FreeAndNil A00080
Halt A00080
High A00080
Inc A00080

--8<--
hs 4294967290 0 S
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
