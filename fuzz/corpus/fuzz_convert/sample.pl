[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
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
__DATA__ 1C00000
__END__ 1C00000
__FILE__ 1C00000
__LINE__ 1C00000
__PACKAGE__ 1C00000
and 1C00000
BEGIN 1C00000
bless 1C00000
cmp 1C00000
default 1C00000
defined 1C00000
die 1C00000
do 1C00000
else 1C00000
elsif 1C00000
END 1C00000
eq 1C00000
eval 1C00000
exit 1C00000
for 1C00000
foreach 1C00000
ge 1C00000
given 1C00000
goto 1C00000
gt 1C00000
if 1C00000
last 1C00000
le 1C00000
local 1C00000
lt 1C00000
my 1C00000
ne 1C00000
next 1C00000
no 1C00000
not 1C00000
or 1C00000
our 1C00000
package 1C00000
qq 1C00000
qr 1C00000
qw 1C00000
redo 1C00000
ref 1C00000
require 1C00000
return 1C00000
state 1C00000
sub 1C00000
undef 1C00000
unless 1C00000
until 1C00000
use 1C00000
wantarray 1C00000

--8<--
$0 A00080
$1 A00080
$2 A00080
$3 A00080
$@ A00080
$_ A00080
$ARGV A00080
$ENV A00080
@_ A00080
@ARGV A00080
abs A00080
base A00080
binmode A00080
Carp A00080
chdir A00080
chomp A00080
chop A00080
close A00080
closedir A00080
confess A00080
constant A00080
croak A00080
delete A00080
Dumper A00080
each A00080
eof A00080
exec A00080
exists A00080
fork A00080
gmtime A00080
grep A00080
index A00080
int A00080
join A00080
keys A00080
kill A00080
lc A00080
lcfirst A00080
length A00080
lib A00080

--8<--
 1 0 S
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
