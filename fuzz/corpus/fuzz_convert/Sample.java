[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/#
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
@After 50A0
@AfterEach 50A0
@Before 50A0
@BeforeEach 50A0
@Deprecated 50A0
@FunctionalInterface 50A0
@Override 50A0
@SafeVarargs 50A0
@SuppressWarnings 50A0
@Test 50A0
abstract 1C00000
assert 1C00000
boolean 1C00000
break 1C00000
byte 1C00000
case 1C00000
catch 1C00000
char 1C00000
class 1C00000
const 1C00000
continue 1C00000
default 1C00000
do 1C00000
double 1C00000
else 1C00000
enum 1C00000
extends 1C00000
false 1C00000
final 1C00000
finally 1C00000
float 1C00000
for 1C00000
goto 1C00000
if 1C00000
implements 1C00000
import 1C00000
instanceof 1C00000
int 1C00000
interface 1C00000
long 1C00000
native 1C00000
new 1C00000
null 1C00000
package 1C00000
permits 1C00000
private 1C00000

--8<--
add A00080
args A00080
ArrayList A00080
Arrays A00080
Boolean A00080
BufferedReader A00080
Byte A00080
Callable A00080
Character A00080
Class A00080
collect A00080
Collection A00080
Collections A00080
Collectors A00080
Comparable A00080
Comparator A00080
contains A00080
Double A00080
Enum A00080
equals A00080
err A00080
Error A00080
Exception A00080
Files A00080
filter A00080
Float A00080
forEach A00080
format A00080
get A00080
hashCode A00080
HashMap A00080
HashSet A00080

--8<--
h 1 7 S
--8<--
// Sample.java: a tiny bank account model, a small example of Java.
package demo;

import java.util.ArrayList;
import java.util.List;

/**
 * An account that keeps its history; amounts are in cents so that
 * no rounding error can creep in.
 */
public class Sample {
    private final String owner;
    private long balance;
    private final List<String> history = new ArrayList<>();

    public Sample(String owner) {
        this.owner = owner;
    }

    public void deposit(long cents) {
        if (cents <= 0) {
            throw new IllegalArgumentException("deposit must be positive");
        }
        balance += cents;
        history.add("deposit " + cents);
    }

    public boolean withdraw(long cents) {
        if (cents > balance) {
            return false;              // not enough money
        }
        balance -= cents;
        history.add("withdraw " + cents);
        return true;
    }

    @Override
    public String toString() {
        return String.format("%s: %d.%02d", owner, balance / 100, balance % 100);
    }

    public static void main(String[] args) {
        Sample account = new Sample("Alice");
        account.deposit(12_500);
        boolean ok = account.withdraw(20_000);
        System.out.println(account + (ok ? "" : " (withdrawal refused)"));
        for (String line : account.history) {
            System.out.println("  " + line);
        }
        char mark = 'x';
        System.out.println(mark);
    }
}
