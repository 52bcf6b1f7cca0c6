#!/usr/bin/env bash
# Checks the settings program's help as users get it: MDS.CHM, alone or in the
# release zip, unpacks (extract_chmLib) to the files its project lists; its text
# files read as code page 932 and the pages say so; every page is in the
# contents tree; and every link of the contents tree, the index and the pages
# leads to a file of the help, and to the anchor there when it names one.
#   check-help.sh MDS.CHM|ZIP SOURCE_DIR
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 MDS.CHM|ZIP SOURCE_DIR" >&2; exit 2; }
help=$1 source=$2
command -v extract_chmLib >/dev/null || { echo "check-help: no extract_chmLib; run tools/setup.sh" >&2; exit 127; }
[ -f "$help" ] || { echo "check-help: no $help (the build or make dist makes it)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case $help in
  *.zip) unzip -p "$help" MDS.CHM >"$work/MDS.CHM" || { echo "check-help: $help holds no MDS.CHM" >&2; exit 1; } ;;
  *) cp "$help" "$work/MDS.CHM" ;;
esac
extract_chmLib "$work/MDS.CHM" "$work/help" >/dev/null || { echo "check-help: $help does not unpack" >&2; exit 1; }

problems=0
for file in "$work"/help/*.htm "$work"/help/*.hhc "$work"/help/*.hhk; do
  [ -f "$file" ] || continue
  iconv -f CP932 -t UTF-8 "$file" 2>/dev/null | iconv -f UTF-8 -t CP932 2>/dev/null | cmp -s - "$file" ||
    { echo "check-help: $(basename "$file") is not code page 932" >&2; problems=$((problems + 1)); }
done

# The links are ASCII: the bytes are read as they are.
files=$(sed -n '/^\[FILES\]/,/^\[/{/^[^[;]/p}' "$source"/*.hhp | tr -d '\r')
perl - "$work/help" $files <<'PERL' || problems=$((problems + 1))
use strict;
use warnings;
my ($dir, @files) = @ARGV;
my ($problems, $links) = (0, 0);
sub problem { print STDERR "check-help: @_\n"; $problems++ }
my %text;
opendir(my $d, $dir) or die;
for my $name (grep { /\.(htm|hhc|hhk)$/ } readdir $d) {
    open(my $f, '<:raw', "$dir/$name") or die;
    local $/;
    $text{$name} = <$f>;
}
-s "$dir/$_" or problem("$_ is not in the help") for @files;
for my $name (sort keys %text) {
    my $t = $text{$name};
    my $page = $name =~ /\.htm$/;
    problem("$name does not say that it is Shift_JIS") if $page && $t !~ /charset=Shift_JIS"/;
    my @targets = $page ? $t =~ /\b(?:href|src)="([^"]*)"/g : $t =~ /<param name="Local" value="([^"]*)"/g;
    for my $target (grep { !/^(?:https?|mailto):/ } @targets) {
        $links++;
        my ($file, $anchor) = split /#/, $target, 2;
        $file = $name if $file eq '';
        if (!-f "$dir/$file") {
            problem("$name: $target leads to no file of the help");
        } elsif (defined $anchor && ($text{$file} // '') !~ /\bid="\Q$anchor\E"/) {
            problem("$name: $target leads to no such anchor");
        }
    }
}
my $tree = join '', map { $text{$_} } grep { /\.hhc$/ } keys %text;
$tree =~ /value="\Q$_\E"/ or problem("$_ is not in the contents tree") for grep { /\.htm$/ } @files;
printf "check-help: %d files, %d links, each leading to a page of the help\n", scalar @files, $links unless $problems;
exit($problems ? 1 : 0);
PERL
[ $problems -eq 0 ] || { echo "check-help: $help failed its check" >&2; exit 1; }
