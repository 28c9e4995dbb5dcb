## sample.nim: a tiny inventory with a report, an example of Nim.
import std/[strutils, tables, algorithm, sequtils]

#[ Prices are in cents, so that sums stay exact.
   #[ Block comments nest: this inner one
      does not end the outer one. ]#
   Still inside the outer comment. ]#

type
  Item = object
    name: string
    price: int      # cents
    stock: Natural

  Inventory = Table[string, Item]

const banner = """
Inventory report
================"""

proc `$`(it: Item): string =
  result = it.name.alignLeft(12) & formatFloat(it.price / 100, ffDecimal, 2)

proc add(inv: var Inventory, name: string, price: int, stock = 0) =
  if name in inv:
    raise newException(KeyError, "duplicate item: " & name)
  inv[name] = Item(name: name, price: price, stock: stock)

func value(inv: Inventory): int =
  for it in inv.values:
    result += it.price * it.stock

iterator lowStock(inv: Inventory, limit = 3): Item =
  for it in inv.values:
    if it.stock < limit: yield it

when isMainModule:
  var inv = initTable[string, Item]()
  inv.add("pencil", 120, 40)
  inv.add("notebook", 350, 2)
  inv.add("eraser", 80)
  echo banner
  var names = toSeq(inv.keys)
  names.sort()
  for n in names:
    echo inv[n]
  echo "Total: ", value(inv) div 100, '.', value(inv) mod 100
  for it in inv.lowStock():
    echo "reorder: ", it.name
  try:
    inv.add("pencil", 1)
  except KeyError as e:
    echo "error: ", e.msg
