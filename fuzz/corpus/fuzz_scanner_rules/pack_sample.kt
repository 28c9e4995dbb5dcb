h
--8<--
files=*.kt *.kts
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/#@$`
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

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
