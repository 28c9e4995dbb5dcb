/* outer /* nested */ still comment */ var a = 1;
var m = '''first 'line'
second line''';
var r = r'C:\no\escape';
var e = "tab\t\"q\"";
@override
String toString() => '$a';
