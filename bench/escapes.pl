#!/usr/bin/perl
# The 64 letter escapes as one Perl substitution, for timing beside tavlon.
# Usage: perl escapes.pl < input > output
use strict;
use warnings;

my @names = qw(
    CYRA CYRB CYRV CYRG CYRD CYRE CYRZH CYRZ
    CYRI CYRISHRT CYRK CYRL CYRM CYRN CYRO CYRP
    CYRR CYRS CYRT CYRU CYRF CYRH CYRC CYRCH
    CYRSH CYRSHCH CYRHRDSN CYRERY CYRSFTSN CYREREV CYRYU CYRYA
    cyra cyrb cyrv cyrg cyrd cyre cyrzh cyrz
    cyri cyrishrt cyrk cyrl cyrm cyrn cyro cyrp
    cyrr cyrs cyrt cyru cyrf cyrh cyrc cyrch
    cyrsh cyrshch cyrhrdsn cyrery cyrsftsn cyrerev cyryu cyrya
);
my %code;
$code{ $names[$_] } = chr(0xC0 + $_) for 0 .. $#names;

binmode STDIN;
binmode STDOUT;
while (my $line = <STDIN>) {
    $line =~ s/\\IeC \{\\([A-Za-z]+) \}/exists $code{$1} ? $code{$1} : $&/ge;
    print $line or die "write: $!";
}
close STDOUT or die "close: $!";
