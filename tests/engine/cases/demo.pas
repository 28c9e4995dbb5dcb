program Demo;
{ a brace comment
  over two lines }
var s: String; i: Integer;
begin
  (* the loop *) for i := 1 to 3 do WriteLn('line ', i); // done
  if i <> 3 then s := 'x' else s := 'unterminated
end.
