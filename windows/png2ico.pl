#!/usr/bin/perl
# Packs PNG pictures into one Windows icon (.ico), each stored as PNG (Windows Vista and
# later read those): png2ico.pl OUT.ico IN-48.png IN-128.png IN-256.png
use strict;
use warnings;

my ($out, @pngs) = @ARGV;
die "usage: png2ico.pl OUT.ico PNG...\n" unless $out && @pngs;
my @images;
for my $p (@pngs) {
    open(my $fh, '<:raw', $p) or die "$p: $!\n";
    local $/;
    my $data = <$fh>;
    close $fh;
    die "$p: not a PNG\n" unless substr($data, 0, 8) eq "\x89PNG\r\n\x1a\n";
    my ($w, $h) = unpack('NN', substr($data, 16, 8));
    push @images, [$w, $h, $data];
}
my $offset = 6 + 16 * @images;
my $dir = pack('vvv', 0, 1, scalar @images);
my $body = '';
for my $img (@images) {
    my ($w, $h, $data) = @$img;
    # 256 pixels are written as 0 in the one-byte size fields.
    $dir .= pack('CCCCvvVV', $w >= 256 ? 0 : $w, $h >= 256 ? 0 : $h, 0, 0, 1, 32,
                 length($data), $offset + length($body));
    $body .= $data;
}
open(my $fh, '>:raw', $out) or die "$out: $!\n";
print $fh $dir, $body;
close $fh;
