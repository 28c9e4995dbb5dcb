h
--8<--
files=*.php *.phtml *.php3 *.php4 *.php5 *.phps
case=0
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
