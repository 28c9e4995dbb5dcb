h
--8<--
files=*.cs *.csx
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/@$
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

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
