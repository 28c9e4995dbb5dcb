/* block
   comment */
signal a : std_logic := '0'; -- comment
b <= '1' when a'event and a = 'Z' else 'L';
report "say ""hi""";
q <= '"';
