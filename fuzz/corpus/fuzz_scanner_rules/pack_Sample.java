h
--8<--
files=*.java
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/#
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

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
