#!/usr/bin/env bash
# Checks the settings program's help as users get it: MDS.CHM, alone or in the
# release zip, unpacks (extract_chmLib) to the files its project lists, every
# page is in the contents tree, and every link of the contents tree, the index
# and the pages leads to a file of the help (and to the anchor it names).
#   check-help.sh MDS.CHM|ZIP SOURCE_DIR
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 MDS.CHM|ZIP SOURCE_DIR" >&2; exit 2; }
help=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case $help in
  *.zip) unzip -p "$help" MDS.CHM >"$work/MDS.CHM" || { echo "check-help: no MDS.CHM in $help" >&2; exit 1; } ;;
  *) cp "$help" "$work/MDS.CHM" ;;
esac
extract_chmLib "$work/MDS.CHM" "$work/help" >/dev/null || { echo "check-help: $help does not unpack" >&2; exit 1; }

# The links are ASCII: the CP932 bytes around them are read as they are.
sed -n '/^\[FILES\]/,/^\[/{/^[^[;]/p}' "$source"/*.hhp | perl -e '
  my $dir = shift; my @files = map { chomp; $_ } <STDIN>; my ($bad, $links, %text) = (0, 0);
  sub bad { print STDERR "check-help: @_\n"; $bad++ }
  for (@files) { -s "$dir/$_" or bad("$_ is not in the help") }
  for my $name (map { s{.*/}{}r } glob "$dir/*.htm $dir/*.hhc $dir/*.hhk") {
    open(my $f, "<:raw", "$dir/$name") or die; local $/; $text{$name} = <$f>;
  }
  for my $name (sort keys %text) {
    my @to = $name =~ /\.htm$/ ? $text{$name} =~ /\b(?:href|src)="([^"]*)"/g : $text{$name} =~ /name="Local" value="([^"]*)"/g;
    for (grep { !/^(?:https?|mailto):/ } @to) {
      $links++;
      my ($file, $anchor) = split /#/, $_, 2;
      $file = $name if $file eq "";
      if (!-f "$dir/$file") { bad("$name: $_ leads to no file of the help") }
      elsif (defined $anchor && $text{$file} !~ /\bid="\Q$anchor\E"/) { bad("$name: $_ leads to no such anchor") }
    }
  }
  my $tree = join "", map { $text{$_} } grep { /\.hhc$/ } keys %text;
  for (grep { /\.htm$/ } @files) { $tree =~ /value="\Q$_\E"/ or bad("$_ is not in the contents tree") }
  exit 1 if $bad;
  printf "check-help: %d files, %d links, each leading to a page of the help\n", scalar @files, $links;
' "$work/help" || { echo "check-help: $help failed its check" >&2; exit 1; }
