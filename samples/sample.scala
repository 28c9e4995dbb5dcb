// sample.scala: word statistics with case classes, an example of Scala.
package demo.words

import scala.annotation.tailrec
import scala.io.Source

/* A block comment /* with a nested one */ still goes on
   until its own end marker. */
final case class Count(word: String, n: Int)

sealed trait Report
case object Empty extends Report
case class Top(counts: List[Count]) extends Report

object WordStats {
  val usage: String = """Usage: wordstats FILE
    |  prints the ten most common words, "quoted" words too
    |  a backslash \n stays as written here""".stripMargin

  def count(lines: Iterator[String]): Map[String, Int] =
    lines
      .flatMap(_.toLowerCase.split("\\W+"))
      .filter(_.nonEmpty)
      .foldLeft(Map.empty[String, Int]) { (m, w) => m.updated(w, m.getOrElse(w, 0) + 1) }

  @tailrec
  def take(xs: List[Count], n: Int, acc: List[Count] = Nil): List[Count] = xs match {
    case Nil                 => acc.reverse
    case _ if n == 0         => acc.reverse
    case head :: tail        => take(tail, n - 1, head :: acc)
  }

  def report(counts: Map[String, Int]): Report =
    if (counts.isEmpty) Empty
    else Top(take(counts.toList.map { case (w, n) => Count(w, n) }.sortBy(c => (-c.n, c.word)), 10))

  def main(args: Array[String]): Unit = {
    if (args.length != 1) { println(usage); sys.exit(2) }
    val source = Source.fromFile(args(0))
    try {
      report(count(source.getLines())) match {
        case Empty => println("no words")
        case Top(cs) => cs.foreach(c => println(f"${c.n}%6d ${c.word}"))
      }
    } finally source.close()
  }
}
