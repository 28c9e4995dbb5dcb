#= outer #= nested =# still comment =# x = 1
"""
Doc string
"""
s = "multi
line \"q\""
c = '"'
cmd = `ls -l`
@time f(x)  # comment
