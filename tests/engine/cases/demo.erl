-module(demo).
%% comment
f(X) -> io:format("say \"~p\"~n", [X]).
g() -> 'quoted atom'.
h() -> ?MODULE.
