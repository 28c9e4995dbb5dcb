[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/#@$`
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
abstract 1C00000
actual 1C00000
annotation 1C00000
as 1C00000
break 1C00000
by 1C00000
catch 1C00000
class 1C00000
companion 1C00000
const 1C00000
constructor 1C00000
continue 1C00000
crossinline 1C00000
data 1C00000
do 1C00000
else 1C00000
enum 1C00000
expect 1C00000
external 1C00000
false 1C00000
final 1C00000
finally 1C00000
for 1C00000
fun 1C00000
get 1C00000
if 1C00000
import 1C00000
in 1C00000
infix 1C00000
init 1C00000
inline 1C00000
inner 1C00000
interface 1C00000
internal 1C00000
is 1C00000
lateinit 1C00000
noinline 1C00000
null 1C00000
object 1C00000
open 1C00000
operator 1C00000
out 1C00000
override 1C00000
package 1C00000
private 1C00000
protected 1C00000
public 1C00000

--8<--
also A00080
Any A00080
apply A00080
Array A00080
arrayOf A00080
Boolean A00080
Byte A00080
Char A00080
check A00080
Collection A00080
Comparable A00080
Double A00080
emptyList A00080
error A00080
Exception A00080
filter A00080
first A00080
Float A00080
forEach A00080
IllegalArgumentException A00080
IllegalStateException A00080
Int A00080
IntArray A00080
it A00080
Iterable A00080
joinToString A00080
last A00080
lazy A00080
let A00080
List A00080
listOf A00080
Long A00080
main A00080
Map A00080

--8<--
s 0 3 S
--8<--
// sample.kt: a temperature log with statistics, a small example of Kotlin.
package demo

import java.io.File

/* One reading; the value is in degrees Celsius. */
data class Reading(val station: String, val value: Double)

sealed class Parsed {
    data class Ok(val reading: Reading) : Parsed()
    data class Bad(val line: Int, val reason: String) : Parsed()
}

fun parse(lineNo: Int, text: String): Parsed {
    val parts = text.split(';')
    if (parts.size != 2) return Parsed.Bad(lineNo, "expected station;value")
    val value = parts[1].trim().toDoubleOrNull()
        ?: return Parsed.Bad(lineNo, "not a number")
    return Parsed.Ok(Reading(parts[0].trim(), value))
}

fun main(args: Array<String>) {
    val file = File(args.firstOrNull() ?: "readings.txt")
    val parsed = file.readLines().mapIndexed { i, line -> parse(i + 1, line) }

    val readings = parsed.filterIsInstance<Parsed.Ok>().map { it.reading }
    for (bad in parsed.filterIsInstance<Parsed.Bad>()) {
        println("line ${bad.line}: ${bad.reason}")
    }

    val byStation = readings.groupBy { it.station }
    byStation.toSortedMap().forEach { (station, list) ->
        val values = list.map { it.value }
        val mean = values.average()
        println("%-12s min %5.1f  mean %5.1f  max %5.1f".format(
            station, values.minOrNull(), mean, values.maxOrNull()))
    }
    val unit = 'C'
    println("all values in degrees $unit")
}
