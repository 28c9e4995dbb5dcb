[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/@$
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
#define 50A0
#elif 50A0
#else 50A0
#endif 50A0
#endregion 50A0
#error 50A0
#if 50A0
#line 50A0
#nullable 50A0
#pragma 50A0
#region 50A0
#undef 50A0
#warning 50A0
abstract 1C00000
add 1C00000
alias 1C00000
and 1C00000
as 1C00000
ascending 1C00000
async 1C00000
await 1C00000
base 1C00000
bool 1C00000
break 1C00000
by 1C00000
byte 1C00000
case 1C00000
catch 1C00000
char 1C00000
checked 1C00000
class 1C00000
const 1C00000
continue 1C00000
decimal 1C00000
default 1C00000
delegate 1C00000
descending 1C00000
do 1C00000
double 1C00000
dynamic 1C00000
else 1C00000
enum 1C00000
equals 1C00000
event 1C00000
explicit 1C00000
extern 1C00000
false 1C00000
finally 1C00000
fixed 1C00000
float 1C00000

--8<--
Action A00080
All A00080
Any A00080
ArgumentException A00080
ArgumentNullException A00080
ArgumentOutOfRangeException A00080
Array A00080
Attribute A00080
Boolean A00080
Byte A00080
CancellationToken A00080
Char A00080
Collections A00080
Console A00080
Convert A00080
Count A00080
DateTime A00080
Decimal A00080
Dictionary A00080
Directory A00080
Dispose A00080
Double A00080
Encoding A00080
Enumerable A00080
Environment A00080
Equals A00080
EventArgs A00080
EventHandler A00080
Exception A00080

--8<--
f 999999 64 S
--8<--
// sample.cs: an inventory report, a small example of C#.
using System;
using System.Collections.Generic;
using System.Linq;

namespace Demo
{
    /* A product line of the stock list; records give value equality
       and a readable ToString for free. */
    public record Item(string Name, int Count, decimal Price);

    public static class Inventory
    {
        private const decimal LowStockValue = 50m;

        public static IEnumerable<Item> LowStock(IEnumerable<Item> items)
        {
            foreach (var item in items)
            {
                if (item.Count * item.Price < LowStockValue)
                    yield return item;
            }
        }

        public static void Main(string[] args)
        {
            var items = new List<Item>
            {
                new Item("Keyboard", 3, 25.50m),
                new Item("Mouse", 1, 12.00m),
                new Item("Cable", 40, 2.99m),
            };

#if DEBUG
            Console.WriteLine("Debug build: {0} items", items.Count);
#endif
            decimal total = items.Sum(i => i.Count * i.Price);
            Console.WriteLine($"Total stock value: {total:C}");

            foreach (Item low in LowStock(items).OrderBy(i => i.Name))
            {
                Console.WriteLine("Reorder: " + low.Name);
            }
            char separator = '-';
            Console.WriteLine(new string(separator, 20));
        }
    }
}
