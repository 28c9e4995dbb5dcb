# sample.r: summarising measurements per station, an example of R.
library(stats)

#' Reads a CSV file of readings and drops incomplete rows.
read_readings <- function(path, min_rows = 10L) {
  if (!file.exists(path)) stop(sprintf("no such file: \"%s\"", path))
  data <- read.csv(path, stringsAsFactors = FALSE)
  data <- data[complete.cases(data), ]
  if (nrow(data) < min_rows) warning("few rows in ", path)
  data
}

summarise_station <- function(values) {
  c(n = length(values),
    mean = mean(values),
    sd = sd(values),
    range = diff(range(values)))
}

pattern <- r"(\d+\.\d+ "quoted" \n)"   # a raw string: backslashes stay
note <- "a string over
two lines"

readings <- tryCatch(
  read_readings("readings.csv"),
  error = function(e) {
    message("falling back to sample data: ", conditionMessage(e))
    data.frame(station = rep(c("north", "south"), each = 6),
               value = c(rnorm(6, 10), rnorm(6, 12)))
  }
)

by_station <- split(readings$value, readings$station)
table <- do.call(rbind, lapply(by_station, summarise_station))
print(round(table, 2))

for (name in names(by_station)) {
  if (is.null(by_station[[name]]) || length(by_station[[name]]) == 0) next
  cat(name, ":", format(mean(by_station[[name]]), nsmall = 2), "\n")
}

invisible(NULL)
