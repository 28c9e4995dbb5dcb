x <- "line one
line two"   # a string over two lines
p <- r"(C:\path\"no escape")"
q <- 'it\'s'
if (is.null(x)) stop("none") else print(x)
