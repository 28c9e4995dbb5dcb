h
--8<--
files=*.ts *.tsx *.mts *.cts
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/`#
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

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
