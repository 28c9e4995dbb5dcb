%% sample.erl: a counter process with a supervisor-friendly API,
%% an example of Erlang.
-module(sample).
-behaviour(gen_server).

-export([start_link/0, bump/1, value/1, stop/0]).
-export([init/1, handle_call/3, handle_cast/2]).

-define(SERVER, ?MODULE).
-record(state, {counts = #{} :: map(), calls = 0 :: non_neg_integer()}).

%% API

start_link() ->
    gen_server:start_link({local, ?SERVER}, ?MODULE, [], []).

bump(Name) when is_atom(Name) ->
    gen_server:cast(?SERVER, {bump, Name}).

value(Name) ->
    gen_server:call(?SERVER, {value, Name}).

stop() ->
    gen_server:stop(?SERVER).

%% Callbacks

init([]) ->
    process_flag(trap_exit, true),
    {ok, #state{}}.

handle_call({value, Name}, _From, #state{counts = Counts, calls = N} = State) ->
    Reply = maps:get(Name, Counts, 0),
    {reply, Reply, State#state{calls = N + 1}};
handle_call(_Other, _From, State) ->
    {reply, {error, 'unknown request'}, State}.

handle_cast({bump, Name}, #state{counts = Counts} = State) ->
    New = maps:update_with(Name, fun(V) -> V + 1 end, 1, Counts),
    io:format("bumped ~p to ~p~n", [Name, maps:get(Name, New)]),
    {noreply, State#state{counts = New}}.

%% Internal: a report line, with an escaped \"quote\" in the format.
report(#state{counts = Counts}) ->
    Lines = [io_lib:format("~s: ~b~n", [atom_to_list(K), V])
             || {K, V} <- lists:sort(maps:to_list(Counts))],
    case Lines of
        [] -> "nothing counted\n";
        _ -> lists:flatten(Lines)
    end.
