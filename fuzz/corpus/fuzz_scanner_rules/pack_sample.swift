h
--8<--
files=*.swift
case=1
str1="
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/$`
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

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
