[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/`#
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
abstract 1C00000
accessor 1C00000
any 1C00000
arguments 1C00000
as 1C00000
asserts 1C00000
async 1C00000
await 1C00000
bigint 1C00000
boolean 1C00000
break 1C00000
case 1C00000
catch 1C00000
class 1C00000
const 1C00000
continue 1C00000
debugger 1C00000
declare 1C00000
default 1C00000
delete 1C00000
do 1C00000
else 1C00000
enum 1C00000
export 1C00000
extends 1C00000
false 1C00000
finally 1C00000
for 1C00000
function 1C00000
get 1C00000
if 1C00000
implements 1C00000
import 1C00000
in 1C00000
infer 1C00000
Infinity 1C00000
instanceof 1C00000
interface 1C00000
is 1C00000
keyof 1C00000
let 1C00000
namespace 1C00000
NaN 1C00000
never 1C00000
new 1C00000
null 1C00000
number 1C00000
object 1C00000

--8<--
@Component 50A0
@Injectable 50A0
@Input 50A0
@NgModule 50A0
@Output 50A0
addEventListener A00080
all A00080
appendChild A00080
Array A00080
ArrayLike A00080
assign A00080
Awaited A00080
BigInt A00080
Boolean A00080
classList A00080
clearInterval A00080
clearTimeout A00080
concat A00080
console A00080
constructor A00080
createElement A00080
Date A00080
debug A00080
decodeURIComponent A00080
document A00080
encodeURIComponent A00080
entries A00080
Error A00080
error A00080
Event A00080

--8<--
s 0 3 S
--8<--
// sample.ts: a typed event queue, a small example of TypeScript.
type Priority = "low" | "normal" | "high";

interface Task {
  readonly id: number;
  title: string;
  priority: Priority;
  done?: boolean;
}

/* Keeps tasks ordered by priority; higher priorities are
   served first, equal ones in arrival order. */
export class TaskQueue<T extends Task> {
  private items: T[] = [];
  private static readonly rank: Record<Priority, number> = { low: 0, normal: 1, high: 2 };

  push(task: T): void {
    this.items.push(task);
    this.items.sort((a, b) => TaskQueue.rank[b.priority] - TaskQueue.rank[a.priority]);
  }

  next(): T | undefined {
    return this.items.shift();
  }

  get size(): number {
    return this.items.length;
  }
}

function describe(task: Task): string {
  const mark = task.done ? 'x' : ' ';
  return `[${mark}] ${task.title}`;   // template strings are not highlighted
}

const queue = new TaskQueue<Task>();
queue.push({ id: 1, title: "Write the report", priority: "normal" });
queue.push({ id: 2, title: "Fix the build", priority: "high" });

let task: Task | undefined;
while ((task = queue.next()) !== undefined) {
  console.log(describe(task));
}
