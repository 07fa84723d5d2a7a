# Figures of a process for the benchmark scripts (sourced): CPU and memory, and arithmetic.
cpu_ms() {  # utime + stime of a process, all threads, in milliseconds
  awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); split($0, f, " "); print (f[12] + f[13]) * 1000 / hz }' "/proc/$1/stat"
}
calc() { awk "BEGIN { printf \"%.4f\", $* }"; }
rss_mb() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
# Proportional: each shared page counted as a share among the processes that map it.
pss_mb() { awk '/^Pss:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/smaps_rollup"; }
