function y = demo_octave(x)
%{
block comment 'with quotes'
%}
s = 'it''s';   % doubled quote
t = "say ""hi""";  # Octave comment
y = x' + 1;  ... rest is a comment
end
