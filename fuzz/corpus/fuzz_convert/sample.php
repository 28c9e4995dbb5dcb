[S]
case=0
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/@`
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//
comment3=#

--8<--
$this 1C00000
__CLASS__ 1C00000
__DIR__ 1C00000
__FILE__ 1C00000
__FUNCTION__ 1C00000
__LINE__ 1C00000
__METHOD__ 1C00000
__NAMESPACE__ 1C00000
__TRAIT__ 1C00000
abstract 1C00000
and 1C00000
array 1C00000
as 1C00000
break 1C00000
callable 1C00000
case 1C00000
catch 1C00000
class 1C00000
clone 1C00000
const 1C00000
continue 1C00000
declare 1C00000
default 1C00000
die 1C00000
do 1C00000
echo 1C00000
else 1C00000
elseif 1C00000
empty 1C00000
enddeclare 1C00000
endfor 1C00000
endforeach 1C00000
endif 1C00000
endswitch 1C00000
endwhile 1C00000
enum 1C00000
eval 1C00000
exit 1C00000
extends 1C00000
false 1C00000
final 1C00000
finally 1C00000
fn 1C00000
for 1C00000
foreach 1C00000
function 1C00000

--8<--
$_COOKIE A00080
$_ENV A00080
$_FILES A00080
$_GET A00080
$_POST A00080
$_REQUEST A00080
$_SERVER A00080
$_SESSION A00080
$GLOBALS A00080
array_filter A00080
array_key_exists A00080
array_keys A00080
array_map A00080
array_merge A00080
array_pop A00080
array_push A00080
array_slice A00080
array_values A00080
ArrayObject A00080
bool A00080
Closure A00080
count A00080
date A00080
DateTime A00080
Exception A00080
explode A00080
fclose A00080
fgets A00080
file_exists A00080
file_get_contents A00080

--8<--
f 999999 64 S
--8<--
<?php
// sample.php: a guest book page, a small example of PHP.
declare(strict_types=1);

const MAX_LENGTH = 500;

/**
 * Reads the stored messages; each line of the file is one JSON record.
 */
function load_messages(string $file): array
{
    if (!file_exists($file)) {
        return [];
    }
    $messages = [];
    foreach (file($file, FILE_IGNORE_NEW_LINES) as $line) {
        $messages[] = json_decode($line, true);
    }
    return $messages;
}

class GuestBook
{
    public function __construct(private string $file) {}

    public function add(string $name, string $text): bool
    {
        $text = trim($text);
        if ($text === '' || strlen($text) > MAX_LENGTH) {
            return false;
        }
        $record = ['name' => $name, 'text' => $text, 'time' => time()];
        return file_put_contents($this->file, json_encode($record) . "\n", FILE_APPEND) !== false;
    }
}

$book = new GuestBook(__DIR__ . '/messages.txt');
if ($_SERVER['REQUEST_METHOD'] === 'POST') {
    $book->add($_POST['name'] ?? 'anonymous', $_POST['text'] ?? '');
}
# plain list, newest first
foreach (array_reverse(load_messages(__DIR__ . '/messages.txt')) as $m) {
    echo '<p><b>' . htmlspecialchars($m['name']) . '</b>: ';
    echo htmlspecialchars($m['text']) . "</p>\n";
}
