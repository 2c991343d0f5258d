# The bytes batchgen renumm START WIDTH writes, in awk: the peer of the benchmark.
BEGIN {
    printf "@echo off\r\nchcp 1250 >NULL\r\n"
    counter = start > 0 ? start - 1 : start
}
{
    sub(/\r$/, "")
    name = $0
    counter = (counter + 1 + 32768) % 65536 - 32768
    number = sprintf("%d", counter)
    while (length(number) < width) number = "0" number
    title = name
    sub(/^.*\\/, "", title)
    sub(/^[0-9]*/, "", title)
    sub(/^ */, "", title)
    sub(/^-*/, "", title)
    sub(/^ */, "", title)
    separator = length(title) > 4 ? " - " : ""
    gsub(/%/, "%%", name)
    gsub(/%/, "%%", title)
    printf "ren \"%s\" \"%s%s%s\"\r\n", name, number, separator, title
}
