#[[ A bracket comment spans lines:
    everything up to the closing brackets is a comment,
    also "quotes" and ${variables}. ]]


set(USAGE [=[
Usage: wc-tool [--sort] FILE...
  Counts words; "quotes" and ]] stay inside this bracket string.
]=])
  set_tests_properties(${name} PROPERTIES
    PASS_REGULAR_EXPRESSION "^${expected}[ \t\r\n]*$")
endfunction()
