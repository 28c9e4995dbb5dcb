[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/$`
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
#available 50A0
#else 50A0
#elseif 50A0
#endif 50A0
#error 50A0
#file 50A0
#function 50A0
#if 50A0
#line 50A0
#selector 50A0
#warning 50A0
@available 50A0
@Binding 50A0
@discardableResult 50A0
@escaping 50A0
@main 50A0
@MainActor 50A0
@objc 50A0
@Published 50A0
@State 50A0
actor 1C00000
Any 1C00000
any 1C00000
as 1C00000
associatedtype 1C00000
async 1C00000
await 1C00000
break 1C00000
case 1C00000
catch 1C00000
class 1C00000
continue 1C00000
convenience 1C00000
default 1C00000
defer 1C00000
deinit 1C00000
didSet 1C00000
do 1C00000
dynamic 1C00000
else 1C00000
enum 1C00000
extension 1C00000
fallthrough 1C00000
false 1C00000
fileprivate 1C00000
final 1C00000
for 1C00000
func 1C00000

--8<--
abs A00080
append A00080
Array A00080
assert A00080
Bool A00080
Character A00080
Codable A00080
Collection A00080
Comparable A00080
count A00080
Data A00080
Date A00080
debugPrint A00080
Dictionary A00080
Double A00080
Equatable A00080
Error A00080
fatalError A00080
filter A00080
Float A00080
forEach A00080
Foundation A00080
Hashable A00080
Identifiable A00080
Int A00080
Int16 A00080
Int32 A00080
Int64 A00080
Int8 A00080
isEmpty A00080
map A00080
max A00080
min A00080
Never A00080

--8<--
h 1 7 S
--8<--
// sample.swift: a shopping cart with discounts, a small example of Swift.
import Foundation

/// A product in the cart; prices are in cents.
struct Product: Hashable {
    let name: String
    let price: Int
}

enum Discount {
    case none
    case percent(Int)
    case fixed(Int)

    func apply(to total: Int) -> Int {
        switch self {
        case .none:
            return total
        case .percent(let p):
            return total - total * p / 100
        case .fixed(let amount):
            return max(0, total - amount)
        }
    }
}

final class Cart {
    private(set) var items: [Product: Int] = [:]

    func add(_ product: Product, quantity: Int = 1) {
        guard quantity > 0 else { return }
        items[product, default: 0] += quantity
    }

    /* The total before any discount. */
    var subtotal: Int {
        items.reduce(0) { $0 + $1.key.price * $1.value }
    }
}

let cart = Cart()
cart.add(Product(name: "Notebook", price: 450), quantity: 3)
cart.add(Product(name: "Pen", price: 120))

let total = Discount.percent(10).apply(to: cart.subtotal)
print("Subtotal: \(cart.subtotal) cents")
print(String(format: "Total: %.2f", Double(total) / 100))
if cart.items.isEmpty {
    print("The cart is empty")
}
