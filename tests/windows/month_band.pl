# month_band.pl RGB WIDTH HEIGHT: succeeds when the raw 8-bit RGB picture
# (WIDTH x HEIGHT) has a row more than half of it in the calendar header's
# pink, (238, 62, 115): a painted month.
use strict;
use warnings;
my ($file, $w, $h) = @ARGV;
local $/;
open my $f, '<', $file or exit 1;
my $d = <$f>;
for my $y (0 .. $h - 1) {
    my $n = () = substr($d, $y * $w * 3, $w * 3) =~ /\xee\x3e\x73/g;
    exit 0 if $n > $w / 2;
}
exit 1;
