(* outer (* nested *) still comment *) let x = 1
let s = "over
two lines"
let q = {|raw \n "quoted"|}
let c = '"'
let d = '\"'
let e = "esc \"q\""
