#!/usr/bin/perl
# SPDX-License-Identifier: MIT
# Filters a UTF-8 man page so that groff can break Chinese text, which has no blanks: a break
# point (\:) between two CJK characters, left-aligned lines (no stretched gaps) and no hyphens.
use strict;
use warnings;
use open qw(:std :encoding(UTF-8));

my $cjk = qr/[\p{Han}\x{3000}-\x{303F}\x{FF00}-\x{FFEF}]/;
while (my $line = <STDIN>) {
    $line =~ s/($cjk)(?=$cjk)/$1\\:/g unless $line =~ /^\.\\"/;
    print $line;
    print ".ad l\n.nh\n" if $line =~ /^\.TH /;
}
