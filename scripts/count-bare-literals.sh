#!/usr/bin/env bash
# Counts the calls in stages/ that pass four or more bare integer literals in a row (a reader cannot
# tell a speed from a frame there without the callee's header open), and finds the field's size
# written as a number in stages/ or engine/ instead of FieldWidth and FieldHeight (a named constant
# that happens to equal 640 or 480, e.g. a frame, is fine). Prints what it finds; fails when there are
# more than `limit` such calls or any such number. `-v` lists the calls.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=10
verbose=0
[ "${1:-}" = "-v" ] && verbose=1

# Comments are dropped; each call's top-level arguments are split on commas, and the longest run of
# arguments that are plain (optionally negative) integers is measured.
calls=$(git ls-files -z -- 'stages/*.cpp' 'stages/*.h' | xargs -0 perl -0777 -ne '
    my $text = $_;
    $text =~ s{//[^\n]*}{}g;
    $text =~ s{/\*.*?\*/}{ my $c = $&; $c =~ tr/\n//cd; $c }gse;
    while ($text =~ /([A-Za-z_][A-Za-z_0-9:]*)\s*\(/g) {
        my ($name, $i, $depth, $cur, @args) = ($1, pos($text), 0, "");
        for (; $i < length $text; ++$i) {
            my $c = substr($text, $i, 1);
            if ($c =~ /[([{]/) { ++$depth }
            elsif ($c =~ /[)\]}]/) { last if $depth == 0; --$depth }
            if ($c eq "," && $depth == 0) { push @args, $cur; $cur = "" } else { $cur .= $c }
        }
        push @args, $cur;
        my ($run, $best) = (0, 0);
        for (@args) {
            if (/^\s*-?\d+\s*$/) { ++$run; $best = $run if $run > $best } else { $run = 0 }
        }
        if ($best >= 4) {
            my $line = 1 + (substr($text, 0, pos($text)) =~ tr/\n//);
            print "$ARGV:$line: $name ($best in a row)\n";
        }
    }')
count=$(grep -c . <<<"$calls" || true)
[ "$verbose" = 1 ] && [ -n "$calls" ] && echo "$calls"
echo "calls passing four or more bare integers in a row: $count (at most $limit)"

# 640 or 480 outside the definition of a named constant.
sizes=$(git ls-files -z -- 'stages/*.cpp' 'stages/*.h' 'engine/*.cpp' 'engine/*.h' |
        xargs -0 grep -nE '(^|[^0-9A-Za-z_.])(640|480)([^0-9A-Za-z_.]|$)' |
        grep -vE ':[0-9]+:\s*//' | grep -vE 'constexpr int [A-Za-z]+ = [0-9]+' || true)
if [ -n "$sizes" ]; then
    echo "the field's size written as a number (FieldWidth, FieldHeight or a named constant instead):"
    echo "$sizes"
fi
[ "$count" -le "$limit" ] && [ -z "$sizes" ]
