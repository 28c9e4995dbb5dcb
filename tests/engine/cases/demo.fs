(* outer (* nested *) still comment *) let x = 1
let s = """raw \n "inside"
second line"""
let v = @"C:\dir\""quoted"""
let q = '"'
let e = "tab\t\"q\""  // comment
