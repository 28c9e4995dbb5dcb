`timescale 1ns/1ps
/* block */ module m(input wire clk); // comment
  reg [7:0] r = 8'hFF;
  initial $display("say \"hi\"");
endmodule
