// sample.sv: a FIFO with a small testbench, an example of SystemVerilog.
`timescale 1ns / 1ps
`define DEPTH 16

/* A synchronous first-in first-out buffer;
   full and empty are registered. */
module fifo #(
    parameter int WIDTH = 8,
    parameter int DEPTH = `DEPTH
) (
    input  logic             clk,
    input  logic             rst_n,
    input  logic             push,
    input  logic             pop,
    input  logic [WIDTH-1:0] din,
    output logic [WIDTH-1:0] dout,
    output logic             full,
    output logic             empty
);
    localparam int AW = $clog2(DEPTH);
    logic [WIDTH-1:0] mem [DEPTH];
    logic [AW:0] wr_ptr, rd_ptr;

    assign full  = (wr_ptr[AW] != rd_ptr[AW]) && (wr_ptr[AW-1:0] == rd_ptr[AW-1:0]);
    assign empty = (wr_ptr == rd_ptr);

    always_ff @(posedge clk or negedge rst_n) begin
        if (!rst_n) begin
            wr_ptr <= '0;
            rd_ptr <= '0;
        end else begin
            if (push && !full) begin
                mem[wr_ptr[AW-1:0]] <= din;
                wr_ptr <= wr_ptr + 1'b1;
            end
            if (pop && !empty) rd_ptr <= rd_ptr + 1'b1;
        end
    end

    assign dout = mem[rd_ptr[AW-1:0]];
endmodule

module tb;
    logic clk = 0, rst_n = 0, push = 0, pop = 0;
    logic [7:0] din = 8'hA5, dout;
    logic full, empty;

    fifo #(.WIDTH(8)) dut (.*);
    always #5 clk = ~clk;

    initial begin
        #12 rst_n = 1;
        repeat (3) @(posedge clk) push <= 1;
        push <= 0;
        $display("empty=%b full=%b \"dout\"=%h", empty, full, dout);
        $finish;
    end
endmodule
