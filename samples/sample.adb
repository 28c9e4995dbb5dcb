--  sample.adb: a bounded stack with a task that fills it, an example of Ada.
with Ada.Text_IO;          use Ada.Text_IO;
with Ada.Integer_Text_IO;  use Ada.Integer_Text_IO;

procedure Sample is

   Capacity : constant := 8;

   type Index is range 0 .. Capacity;
   type Item_Array is array (Index range 1 .. Capacity) of Integer;

   protected type Stack is
      entry Push (Value : in Integer);
      entry Pop (Value : out Integer);
      function Size return Natural;
   private
      Items : Item_Array := (others => 0);
      Top   : Index := 0;
   end Stack;

   protected body Stack is
      entry Push (Value : in Integer) when Top < Capacity is
      begin
         Top := Top + 1;
         Items (Top) := Value;
      end Push;

      entry Pop (Value : out Integer) when Top > 0 is
      begin
         Value := Items (Top);
         Top := Top - 1;
      end Pop;

      function Size return Natural is (Natural (Top));
   end Stack;

   Shared : Stack;

   task Producer;
   task body Producer is
   begin
      for I in 1 .. 5 loop
         Shared.Push (I * I);
      end loop;
   end Producer;

   Value : Integer;
   Quote : constant String := "a ""doubled"" quote and a character: ";
begin
   delay 0.1;
   Put_Line (Quote & Character'Image ('x'));
   while Shared.Size > 0 loop
      Shared.Pop (Value);
      Put (Value, Width => 4);
      New_Line;
   end loop;
   Put_Line ("Capacity was" & Integer'Image (Capacity));
exception
   when Constraint_Error =>
      Put_Line ("out of range");
end Sample;
