h
--8<--
files=*.pl *.pm *.t
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/
color_string=1515A3
color_comment=2008000
comment1==pod
comment1e==cut
comment2==head1
comment2e==cut
comment3==head2
comment3e==cut
comment4==begin
comment4e==cut
comment5=#

--8<--

--8<--
#!/usr/bin/perl
# sample.pl: summarises a web server log, a small example of Perl.
use strict;
use warnings;

my %hits;
my %bytes;
my $lines = 0;

=pod

Reads a common-format access log from the files named on the
command line (or standard input) and prints the busiest pages.

=cut

while (my $line = <>) {
    $lines++;
    next unless $line =~ m{(?:GET|POST) (\S+) HTTP/[\d.]+\S* (\d{3}) (\d+|-)};
    my ($path, $status, $size) = ($1, $2, $3);
    next if $status >= 400;
    $hits{$path}++;
    $bytes{$path} += $size eq '-' ? 0 : $size;
}

sub by_hits {
    return $hits{$b} <=> $hits{$a} || $a cmp $b;
}

printf "%d lines read\n", $lines;
my @top = (sort by_hits keys %hits)[0 .. 9];
foreach my $path (grep { defined } @top) {
    printf "%6d %10d  %s\n", $hits{$path}, $bytes{$path}, $path;
}
print "no pages found\n" unless @top;
