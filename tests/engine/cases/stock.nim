
#[ Prices are in cents, so that sums stay exact.
   #[ Block comments nest: this inner one
      does not end the outer one. ]#
   Still inside the outer comment. ]#


const banner = """
Inventory report
================"""
  echo "Total: ", value(inv) div 100, '.', value(inv) mod 100
  for it in inv.lowStock():
    echo "reorder: ", it.name
  try:
    inv.add("pencil", 1)
  except KeyError as e:
    echo "error: ", e.msg
