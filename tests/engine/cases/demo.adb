with Ada.Text_IO; use Ada.Text_IO;
procedure Demo is
   Q : constant Character := '"';  -- quote character
   S : constant String := "a ""doubled"" quote";
begin
   Put_Line (S & Integer'Image (S'Length) & ' ');
end Demo;
