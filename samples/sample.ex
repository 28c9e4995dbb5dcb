# sample.ex: a key-value store behind a GenServer, an example of Elixir.
defmodule Demo.Store do
  @moduledoc """
  A tiny in-memory store. Keys are strings, values anything.

      iex> Demo.Store.put(store, "a", 1)
      :ok
  """
  use GenServer
  require Logger

  @type key :: String.t()
  @default_timeout 5_000

  ## Client API

  @doc "Starts the store with an optional initial map."
  @spec start_link(map()) :: GenServer.on_start()
  def start_link(initial \\ %{}) do
    GenServer.start_link(__MODULE__, initial, name: __MODULE__)
  end

  def put(key, value) when is_binary(key), do: GenServer.call(__MODULE__, {:put, key, value})
  def get(key), do: GenServer.call(__MODULE__, {:get, key}, @default_timeout)

  def keys_with_prefix(prefix) do
    GenServer.call(__MODULE__, :keys)
    |> Enum.filter(&String.starts_with?(&1, prefix))
    |> Enum.sort()
  end

  ## Server callbacks

  @impl true
  def init(initial), do: {:ok, initial}

  @impl true
  def handle_call({:put, key, value}, _from, state) do
    Logger.debug("put #{inspect(key)} with a \"quoted\" note")
    {:reply, :ok, Map.put(state, key, value)}
  end

  def handle_call({:get, key}, _from, state) do
    case Map.fetch(state, key) do
      {:ok, value} -> {:reply, {:ok, value}, state}
      :error -> {:reply, {:error, :not_found}, state}
    end
  end

  def handle_call(:keys, _from, state), do: {:reply, Map.keys(state), state}
end

message = 'a charlist'
IO.puts("loaded #{length(message)} chars")
