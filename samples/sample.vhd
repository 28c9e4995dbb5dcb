-- sample.vhd: a synchronous counter with enable, an example of VHDL.
library ieee;
use ieee.std_logic_1164.all;
use ieee.numeric_std.all;

/* VHDL-2008 block comment:
   the entity counts up while enable is high. */
entity counter is
  generic (
    WIDTH : positive := 8
  );
  port (
    clk    : in  std_logic;
    reset  : in  std_logic;
    enable : in  std_logic;
    count  : out std_logic_vector(WIDTH - 1 downto 0);
    wrap   : out std_logic
  );
end entity counter;

architecture rtl of counter is
  signal value : unsigned(WIDTH - 1 downto 0) := (others => '0');
  constant MAX : unsigned(WIDTH - 1 downto 0) := (others => '1');
begin

  process (clk)
  begin
    if rising_edge(clk) then
      if reset = '1' then
        value <= (others => '0');
        wrap  <= '0';
      elsif enable = '1' then
        if value = MAX then
          wrap <= '1';
        else
          wrap <= '0';
        end if;
        value <= value + 1;
      end if;
    end if;
  end process;

  count <= std_logic_vector(value);

  -- checks in simulation only
  assert WIDTH <= 32
    report "counter: WIDTH too large, got " & integer'image(WIDTH)
    severity failure;

end architecture rtl;
