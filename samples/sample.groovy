// sample.groovy: a build report from a CSV of test results, an example of Groovy.
import groovy.json.JsonOutput
import groovy.transform.Canonical

/* One test result: the suite, the test's name,
   whether it passed and how long it took. */
@Canonical
class Result {
    String suite
    String name
    boolean passed
    BigDecimal seconds
}

def parse(String text) {
    text.readLines()
        .findAll { it && !it.startsWith('#') }
        .collect { line ->
            def (suite, name, status, secs) = line.split(',')*.trim()
            new Result(suite, name, status == 'ok', secs as BigDecimal)
        }
}

def csv = '''\
# suite, test, status, seconds
core, parses numbers, ok, 0.12
core, rejects "bad" input, failed, 0.40
web, renders page, ok, 1.75
'''

def results = parse(csv)
def bySuite = results.groupBy { it.suite }

def summary = """
Report for ${results.size()} tests
  passed: ${results.count { it.passed }}
  slowest: ${results.max { it.seconds }?.name}
"""
println summary

bySuite.each { suite, rs ->
    def failed = rs.findAll { !it.passed }
    printf("%-6s %d/%d%n", suite, rs.size() - failed.size(), rs.size())
    failed.each { println "  FAILED: ${it.name} (\"${it.seconds}s\")" }
}

def pattern = $/C:\builds\[0-9]+\report.json/$
new File('report.json').text = JsonOutput.prettyPrint(JsonOutput.toJson(results))
if (results.every { it.passed }) {
    println 'all tests passed'
} else {
    System.exit(1)
}
