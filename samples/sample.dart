// sample.dart: a tiny shopping cart with async loading, an example of Dart.
import 'dart:async';
import 'dart:convert';

/* Block comments nest in Dart: /* inner */ and this is still a comment. */

/// One line of the cart.
class Item {
  final String name;
  final int cents;
  final int quantity;

  const Item(this.name, this.cents, {this.quantity = 1});

  int get total => cents * quantity;

  @override
  String toString() => '$name x$quantity: ${(total / 100).toStringAsFixed(2)}';
}

class Cart {
  final List<Item> _items = [];

  void add(Item item) => _items.add(item);

  int get total => _items.fold(0, (sum, item) => sum + item.total);

  String receipt() {
    final buffer = StringBuffer();
    for (final item in _items) {
      buffer.writeln(item);
    }
    buffer.write("Total: \"${total / 100}\"");
    return buffer.toString();
  }
}

const banner = '''
Receipt
  -- thank you for shopping, it's appreciated --
''';

final pathPattern = r'C:\shop\data\*.json';

Future<List<Item>> loadItems(String json) async {
  await Future.delayed(const Duration(milliseconds: 10));
  final List<dynamic> raw = jsonDecode(json);
  return raw
      .map((e) => Item(e['name'] as String, e['cents'] as int,
          quantity: e['qty'] ?? 1))
      .toList();
}

Future<void> main() async {
  final cart = Cart();
  final items = await loadItems('[{"name": "tea", "cents": 350, "qty": 2}]');
  items.forEach(cart.add);
  cart.add(const Item('cake', 420));
  print(banner);
  print(cart.receipt());
  if (cart.total == 0) throw StateError('empty cart');
}
